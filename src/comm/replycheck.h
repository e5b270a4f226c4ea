#pragma once

#include <QByteArray>
#include <QString>

// What a printer's reply to one exchange must look like, and the check of the bytes that
// arrived against it. Every exchange that awaits a reply is judged here, so no reply is used
// before its echo, its length and its end were checked.
class ReplyCheck
{
public:
    enum class Verdict {
        Incomplete, // nothing wrong yet, more bytes are due
        Complete, // the whole reply is there (bytes past it are not part of it)
        Invalid, // wrong echo or a length the exchange does not expect: waiting cannot help
    };
    enum class Framing {
        Plain, // a fixed number of bytes, or anything for length 0
        Length16, // echo, 2-byte big-endian length, payload
        Length24, // echo, one byte, 3-byte big-endian length, payload
    };

    static constexpr int kAnyLength = -1;

    // Anything of at least one byte.
    ReplyCheck() = default;
    // Exactly `length` bytes (0: anything non-empty) that start with `echo`.
    static ReplyCheck plain(int length, const QByteArray &echo = QByteArray());
    // A frame that echoes `echo` and carries `payloadLength` bytes (kAnyLength: as it says).
    static ReplyCheck framed(
        Framing framing, const QByteArray &echo, int payloadLength = kAnyLength);

    Verdict verdict(const QByteArray &received) const;
    // The bytes of a complete reply that are data: a frame's payload, a plain reply's bytes,
    // never anything past the reply's end.
    QByteArray data(const QByteArray &received) const;
    // The size of the whole reply once it can be known (-1 before).
    int replySize(const QByteArray &received) const;
    // Why a reply is not complete, for the debug log.
    QString explain(const QByteArray &received) const;

    Framing framing() const { return m_framing; }
    QByteArray echo() const { return m_echo; }
    int headerSize() const;

private:
    bool echoMatches(const QByteArray &received) const;
    bool lengthKnown(const QByteArray &received) const;
    quint32 lengthField(const QByteArray &received) const;

    Framing m_framing = Framing::Plain;
    QByteArray m_echo;
    int m_length = 0; // plain: the reply's length; framed: the payload's
};
