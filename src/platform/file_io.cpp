#include "platform/file_io.h"

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <cerrno>
#include <unistd.h>

namespace vesko {

namespace {
QString qtPath(const std::string& path) { return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())); }
}  // namespace

std::optional<std::string> readWholeFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  QFile file(qtPath(path));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  std::string bytes;
  if (!file.isSequential()) {
    // Straight into the result: a large score is not copied twice.
    const qint64 size = file.size();
    bytes.resize(static_cast<std::size_t>(size));
    qint64 done = 0;
    while (done < size) {
      const qint64 got = file.read(bytes.data() + done, size - done);
      if (got < 0) return std::nullopt;
      if (got == 0) break;  // shrank while we read
      done += got;
    }
    bytes.resize(static_cast<std::size_t>(done));
    if (!file.atEnd()) {
      const QByteArray more = file.readAll();
      bytes.append(more.constData(), static_cast<std::size_t>(more.size()));
    }
  } else {
    const QByteArray all = file.readAll();
    bytes.assign(all.constData(), static_cast<std::size_t>(all.size()));
  }
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes;
}

bool replaceFileContent(const std::string& path, std::string_view bytes) {
  if (path.empty()) return false;
  QSaveFile file(qtPath(path));
  // Unbuffered: the bytes go down in one write, and a failing write is seen
  // here. QSaveFile::commit does not notice a failure of the flush it does
  // itself, and would rename a short temporary file over the old one.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  const qint64 size = static_cast<qint64>(bytes.size());
  bool written = size == 0 || file.write(bytes.data(), size) == size;
  written = written && file.flush() && file.error() == QFileDevice::NoError;
  // Some file systems report a full disk only when the data is synced;
  // commit syncs too but ignores the result.
  if (written && ::fsync(file.handle()) != 0 && errno != EINVAL && errno != EROFS) written = false;
  if (!written) {
    file.cancelWriting();
    file.commit();  // discards the temporary file
    return false;
  }
  return file.commit();
}

bool removeFile(const std::string& path) { return QFile::remove(qtPath(path)); }

}  // namespace vesko
