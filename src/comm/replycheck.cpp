#include "comm/replycheck.h"

namespace {
constexpr int kShortLengthField = 2;
constexpr int kListHeader = 4; // one byte, then the 3-byte length
} // namespace

ReplyCheck ReplyCheck::plain(int length, const QByteArray &echo)
{
    ReplyCheck check;
    check.m_length = qMax(0, length);
    check.m_echo = echo;
    return check;
}

ReplyCheck ReplyCheck::framed(Framing framing, const QByteArray &echo, int payloadLength)
{
    ReplyCheck check;
    check.m_framing = framing;
    check.m_echo = echo;
    check.m_length = payloadLength;
    return check;
}

int ReplyCheck::headerSize() const
{
    switch (m_framing) {
    case Framing::Length16:
        return m_echo.size() + kShortLengthField;
    case Framing::Length24:
        return m_echo.size() + kListHeader;
    case Framing::Plain:
        break;
    }
    return 0;
}

bool ReplyCheck::echoMatches(const QByteArray &received) const
{
    // A partial echo is judged as far as it goes, so a wrong one ends the wait at once.
    const int n = qMin(received.size(), m_echo.size());
    return received.left(n) == m_echo.left(n);
}

bool ReplyCheck::lengthKnown(const QByteArray &received) const
{
    return m_framing != Framing::Plain && received.size() >= headerSize();
}

quint32 ReplyCheck::lengthField(const QByteArray &received) const
{
    const int from = m_echo.size() + (m_framing == Framing::Length24 ? 1 : 0);
    const int size = m_framing == Framing::Length24 ? 3 : kShortLengthField;
    quint32 v = 0;
    for (int i = 0; i < size; ++i)
        v = (v << 8) | quint8(received.at(from + i));
    return v;
}

int ReplyCheck::replySize(const QByteArray &received) const
{
    if (m_framing == Framing::Plain) {
        if (m_length > 0)
            return m_length;
        // Anything will do, but not before the whole echo is there.
        return received.size() < qMax(1, m_echo.size()) ? -1 : received.size();
    }
    if (!lengthKnown(received))
        return -1;
    return headerSize() + int(lengthField(received));
}

ReplyCheck::Verdict ReplyCheck::verdict(const QByteArray &received) const
{
    if (!echoMatches(received))
        return Verdict::Invalid;
    if (m_framing != Framing::Plain && lengthKnown(received) && m_length != kAnyLength
        && lengthField(received) != quint32(m_length))
        return Verdict::Invalid;
    const int size = replySize(received);
    if (size < 0 || received.size() < size)
        return Verdict::Incomplete;
    return Verdict::Complete;
}

QByteArray ReplyCheck::data(const QByteArray &received) const
{
    if (verdict(received) != Verdict::Complete)
        return QByteArray();
    const int size = replySize(received);
    const int from = m_framing == Framing::Plain ? 0 : headerSize();
    return received.mid(from, size - from);
}

QString ReplyCheck::explain(const QByteArray &received) const
{
    if (!echoMatches(received))
        return QStringLiteral("echo %1 instead of %2")
            .arg(QString::fromLatin1(received.left(m_echo.size()).toHex(' ')),
                QString::fromLatin1(m_echo.toHex(' ')));
    if (lengthKnown(received) && m_length != kAnyLength
        && lengthField(received) != quint32(m_length))
        return QStringLiteral("length %1 instead of %2").arg(lengthField(received)).arg(m_length);
    const int size = replySize(received);
    if (size < 0 || received.size() < size)
        return QStringLiteral("%1 of %2 bytes")
            .arg(received.size())
            .arg(size < 0 ? QStringLiteral("?") : QString::number(size));
    if (received.size() > size)
        return QStringLiteral("%1 bytes past the reply dropped").arg(received.size() - size);
    return QString();
}
