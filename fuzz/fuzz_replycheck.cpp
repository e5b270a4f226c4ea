// A printer's reply against the check of each framing, delivered in arbitrary pieces as the
// ports hand them over. The verdict must never go back from Invalid or Complete, and the data of
// a complete reply must be exactly what its frame says, never a byte past it.
//
// Input: framing (0 plain, 1 16-bit length, 2 24-bit length), echo size and echo, the expected
// length (2 bytes, FFFF: any), then the reply in pieces (size byte, bytes; size 0: the rest). A
// port hands over a reply in a few reads; past kMaxPieces the rest comes at once, which keeps a
// run short without losing any reply.

#include "comm/replycheck.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::init();
    fuzz::Reader in(data, size);
    const int kind = in.byte() % 3;
    QByteArray echo = in.take(size_t(in.byte() % 9));
    const int field = in.u16();
    const int length = field == 0xFFFF ? ReplyCheck::kAnyLength : field;
    ReplyCheck check;
    switch (kind) {
    case 0:
        // A plain reply of n bytes cannot echo more than n: no exchange asks for that.
        if (length > 0)
            echo.truncate(length);
        check = ReplyCheck::plain(length, echo);
        break;
    case 1:
        check = ReplyCheck::framed(ReplyCheck::Framing::Length16, echo, length);
        break;
    default:
        check = ReplyCheck::framed(ReplyCheck::Framing::Length24, echo, length);
        break;
    }

    QByteArray received;
    ReplyCheck::Verdict last = ReplyCheck::Verdict::Incomplete;
    constexpr int kMaxPieces = 32;
    for (int pieces = 1; !in.atEnd(); ++pieces) {
        received += pieces < kMaxPieces ? in.piece() : in.rest();
        const ReplyCheck::Verdict verdict = check.verdict(received);
        // More bytes never mend a wrong echo or length, nor break a complete reply.
        if (last != ReplyCheck::Verdict::Incomplete)
            FUZZ_CHECK(verdict == last);
        last = verdict;
        const QString why = check.explain(received);
        const int whole = check.replySize(received);
        const QByteArray payload = check.data(received);
        if (verdict != ReplyCheck::Verdict::Complete) {
            FUZZ_CHECK(payload.isEmpty());
            FUZZ_CHECK(!why.isEmpty());
            continue;
        }
        FUZZ_CHECK(whole >= 0 && whole <= received.size());
        FUZZ_CHECK(received.startsWith(echo));
        if (check.framing() == ReplyCheck::Framing::Plain) {
            FUZZ_CHECK(payload == received.left(whole));
        } else {
            FUZZ_CHECK(payload == received.mid(check.headerSize(), whole - check.headerSize()));
            if (length != ReplyCheck::kAnyLength)
                FUZZ_CHECK(payload.size() == length);
        }
    }
    return 0;
}
