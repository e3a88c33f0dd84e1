#pragma once

#include <QString>

class QWidget;

/// The library's information prompts.
namespace lrv::UserPromptLib {

/// "Vantorix " with the library's major and minor version, "Vantorix 5.0" for this release.
QString PromptTitle();
/// A modal information box with one OK button, titled PromptTitle().
void ShowInfoPrompt(const QString& message, QWidget* parent = nullptr);

} // namespace lrv::UserPromptLib
