// The network replies and the MAC address write of a session.
#include "engine/printersession.h"

#include "engine/datadispatcher.h"
#include "engine/settinggroups.h"

namespace {
constexpr int kMacLength = 6;
}

PrinterSession::Result PrinterSession::readAddress(QString *address)
{
    address->clear();
    if (!run(DataDispatcher::OpAddressRead))
        return Result::CommunicationFailed;
    if (m_dispatcher.printerChanged())
        return Result::PrinterChanged;
    *address = NetworkText::addressText(m_dispatcher.addressReply());
    return Result::Ok;
}

PrinterSession::Result PrinterSession::readMac(QByteArray *mac)
{
    mac->clear();
    if (!run(DataDispatcher::OpMacRead))
        return Result::CommunicationFailed;
    if (m_dispatcher.printerChanged())
        return Result::PrinterChanged;
    if (m_dispatcher.macReply().size() == kMacLength)
        *mac = m_dispatcher.macReply();
    return Result::Ok;
}

PrinterSession::Result PrinterSession::writeMac(const QByteArray &mac)
{
    const Result check = checkPrinter();
    if (check != Result::Ok)
        return check;
    if (!run(DataDispatcher::OpMacWrite, mac))
        return Result::CommunicationFailed;
    if (m_dispatcher.printerChanged())
        return Result::PrinterChanged;
    return m_dispatcher.saved() ? Result::Ok : Result::NotAcknowledged;
}
