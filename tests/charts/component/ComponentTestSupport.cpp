#include "ComponentTestSupport.h"

#include <gtest/gtest.h>

namespace lrv::test {

namespace {
    class FolderEnvironment : public HostEnvironment {
    public:
        explicit FolderEnvironment(QString folder)
            : m_folder(std::move(folder))
        {
        }
        QString folder() const override { return m_folder; }

    private:
        QString m_folder;
    };
}

StyleFolderHostCore::StyleFolderHostCore(QString folder)
    : m_environment(std::make_shared<FolderEnvironment>(std::move(folder)))
{
}

TemporaryStyleFolder::TemporaryStyleFolder()
{
    // The host names the folder with its trailing separator.
    m_previous = HostCore::install(std::make_shared<StyleFolderHostCore>(m_folder.path() + QLatin1Char('/')));
}

TemporaryStyleFolder::~TemporaryStyleFolder() { HostCore::install(m_previous); }

void TemporaryStyleFolder::write(const QString& fileName, const QByteArray& text) const
{
    QFile file(QDir(m_folder.path()).filePath(fileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

void TemporaryStyleFolder::copyShipped(const QString& fileName) const
{
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(LRV_SOURCE_DIR "/styles/") + fileName, QDir(m_folder.path()).filePath(fileName)));
}

} // namespace lrv::test
