#include "import/sksfilereader.h"

#include "base/ansicodepage.h"
#include "base/textencoding.h"

#include <QFileInfo>

namespace vex {

namespace {

constexpr qint64 kPieceSize = qint64(1) << 20;
const QByteArray kUtf8Mark("\xEF\xBB\xBF");

}  // namespace

bool SksFileReader::fail(const QString& error) {
    error_ = error;
    return false;
}

bool SksFileReader::open(const QString& fileName) {
    fileName_ = fileName;
    const QFileInfo info(fileName);
    // Only a regular file: the file is read twice, and a pipe or a device could block.
    if (!info.exists() || !info.isFile()) {
        return fail(QStringLiteral("Kan ikke læse SKS-filen [ %1 ]: filen findes ikke eller er "
                                   "ikke en almindelig fil.")
                        .arg(fileName));
    }
    file_.setFileName(fileName);
    if (!file_.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("Kan ikke åbne SKS-filen [ %1 ]: %2")
                        .arg(fileName, file_.errorString()));
    }
    const QByteArray start = file_.peek(3);
    if (start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF")) {
        return fail(QStringLiteral("SKS-filen [ %1 ] er skrevet i UTF-16; gem den som UTF-8 eller "
                                   "Windows-1252.")
                        .arg(fileName));
    }
    if (start == kUtf8Mark) {
        encoding_ = Encoding::Utf8WithMark;
        file_.skip(kUtf8Mark.size());
        return true;
    }
    NoMarkEncodingCheck check;
    QByteArray piece(kPieceSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file_.read(piece.data(), kPieceSize);
        if (got < 0) {
            return fail(QStringLiteral("Kan ikke læse SKS-filen [ %1 ]: %2")
                            .arg(fileName, file_.errorString()));
        }
        check.add(QByteArrayView(piece.constData(), got));
        if (got == 0 || check.invalid()) {
            break;
        }
    }
    check.finish();
    encoding_ = check.result() == NoMarkEncoding::Utf8 ? Encoding::Utf8 : Encoding::Windows1252;
    if (!file_.seek(0)) {
        return fail(QStringLiteral("Kan ikke læse SKS-filen [ %1 ]: %2")
                        .arg(fileName, file_.errorString()));
    }
    return true;
}

bool SksFileReader::readMore() {
    buffer_.remove(0, pos_);
    pos_ = 0;
    const qsizetype had = buffer_.size();
    buffer_.resize(had + kPieceSize);
    const qint64 got = file_.read(buffer_.data() + had, kPieceSize);
    if (got < 0) {
        buffer_.resize(had);
        return fail(QStringLiteral("Kan ikke læse SKS-filen [ %1 ]: %2")
                        .arg(fileName_, file_.errorString()));
    }
    buffer_.resize(had + got);
    atEnd_ = got == 0;
    return true;
}

bool SksFileReader::next(Line& line) {
    qsizetype end = pos_;
    for (;;) {
        while (end < buffer_.size() && buffer_[end] != '\n' && buffer_[end] != '\r') {
            ++end;
        }
        // A CR that ends what is read so far may be followed by an LF not yet read.
        if (end < buffer_.size() && (buffer_[end] == '\n' || end + 1 < buffer_.size() || atEnd_)) {
            break;
        }
        if (atEnd_) {
            break;  // the last line, without a line end
        }
        const qsizetype searched = end - pos_;
        if (!readMore()) {
            return false;
        }
        end = pos_ + searched;
    }
    QByteArrayView bytes(buffer_.constData() + pos_, end - pos_);
    if (end == buffer_.size()) {
        pos_ = end;
        // A 0x1A that ends the file is an old end-of-file mark, no text.
        if (!bytes.isEmpty() && bytes.back() == '\x1A') {
            bytes.chop(1);
        }
        if (bytes.isEmpty()) {
            return false;
        }
    } else {
        const bool crlf =
            buffer_[end] == '\r' && end + 1 < buffer_.size() && buffer_[end + 1] == '\n';
        pos_ = end + (crlf ? 2 : 1);
    }
    line.number = ++number_;
    line.badUtf8 = false;
    if (encoding_ == Encoding::Windows1252) {
        line.text = decodeWindows1252(bytes);
        return true;
    }
    if (encoding_ == Encoding::Utf8WithMark) {
        NoMarkEncodingCheck check;
        check.add(bytes);
        check.finish();
        line.badUtf8 = check.invalid();
    }
    line.text = QString::fromUtf8(bytes);
    return true;
}

}  // namespace vex
