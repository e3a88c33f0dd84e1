#pragma once

#include <string>

#include <QString>

namespace wb {

/// A file written atomically: the bytes go to a temporary file in the target's folder, which replaces
/// the target by a rename on commit. Every failure throws lrv::Error naming the target; the target then
/// keeps its old content and the temporary file is removed. (QSaveFile is not used: it reports a write
/// cut short by the file-size limit as success and renames the truncated file over the target.)
class AtomicFile {
public:
    explicit AtomicFile(QString path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(const char* data, std::size_t size);
    void write(const std::string& bytes) { write(bytes.data(), bytes.size()); }
    /// Flushes to disk and renames over the target.
    void commit();

private:
    [[noreturn]] void fail(const QString& what, int error);
    void discard();

    QString m_path;
    std::string m_temporary;
    int m_fd = -1;
};

} // namespace wb
