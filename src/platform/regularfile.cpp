#include "platform/regularfile.h"

#include <QFile>

#include <cerrno>
#include <new>
#include <fcntl.h>
#include <unistd.h>

namespace tess {

bool readRegularFile(const QString &path, QByteArray &bytes, struct stat *status)
{
    // Without O_NONBLOCK, opening a FIFO would wait for a writer forever.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        try {
            bytes.resize(qsizetype(st.st_size));
        } catch (const std::bad_alloc &) {
            ok = false;
        }
    }
    // What is read is bounded by the size the file had when it was opened;
    // a file that shrank meanwhile is not read whole.
    qsizetype done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false;
        else
            done += n;
    }
    ::close(fd);
    if (!ok) {
        bytes.clear();
        return false;
    }
    if (status)
        *status = st;
    return true;
}

} // namespace tess
