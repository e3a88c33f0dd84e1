#pragma once

class QWidget;

/// The picture of a bar chart control for the clipboard and the printer.
namespace lrv::BarChartCapture {

/// Clears the clipboard and puts the control's on-screen image on it.
void copyImage(QWidget* control);
/// Printer dialog, then the control's image once per requested copy, each copy a document of its own;
/// cancelling prints nothing.
void printImage(QWidget* control);

} // namespace lrv::BarChartCapture
