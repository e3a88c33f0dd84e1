#include "run/AtomicFile.h"

#include "support/Error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

namespace wb {

AtomicFile::AtomicFile(QString path)
    : m_path(std::move(path))
{
    m_temporary = QFile::encodeName(m_path).toStdString() + ".XXXXXX";
    m_fd = ::mkstemp(m_temporary.data());
    if (m_fd < 0) {
        const int error = errno;
        m_temporary.clear();
        fail(QStringLiteral("cannot create a file beside it"), error);
    }
    // Keep the mode of the file being replaced; a new file gets the usual mode under the umask.
    struct stat old { };
    mode_t mode = 0;
    if (::stat(QFile::encodeName(m_path).constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(m_fd, mode);
}

AtomicFile::~AtomicFile() { discard(); }

void AtomicFile::write(const char* data, std::size_t size)
{
    if (m_fd < 0)
        fail(QStringLiteral("the file is already closed"), 0);
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(QStringLiteral("writing failed"), errno);
        }
        data += written;
        size -= std::size_t(written);
    }
}

void AtomicFile::commit()
{
    if (m_fd < 0)
        fail(QStringLiteral("the file is already closed"), 0);
    if (::fsync(m_fd) != 0)
        fail(QStringLiteral("writing to disk failed"), errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        fail(QStringLiteral("closing failed"), errno);
    if (::rename(m_temporary.c_str(), QFile::encodeName(m_path).constData()) != 0)
        fail(QStringLiteral("replacing the file failed"), errno);
    m_temporary.clear();
}

void AtomicFile::fail(const QString& what, int error)
{
    discard();
    const QString reason = error ? QStringLiteral(": %1").arg(QString::fromLocal8Bit(std::strerror(error))) : QString();
    throw lrv::Error(QStringLiteral("Cannot write %1: %2%3. The old file, if any, is unchanged; check that the folder "
                                    "exists and has room.")
                         .arg(m_path, what, reason));
}

void AtomicFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

} // namespace wb
