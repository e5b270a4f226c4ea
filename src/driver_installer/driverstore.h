#pragma once

#include <QString>

#include "driver_installer/toolrun.h"

// The system's store of printer drivers. On Linux, staging copies the package's driver
// description (PPD) into the CUPS driver folder and counts only once CUPS offers it.
//   RKSETUP_PPD_DIR  the driver folder (default /usr/share/ppd/norvale)
//   RKSETUP_LPINFO   the CUPS driver lister (default lpinfo)
class DriverStore
{
public:
    DriverStore();

    QString folder() const { return m_folder; }

    // Stages `driverFile`. Not started: the store could not be written (the system's reason in
    // errorText). Exit code 0: staged and offered by CUPS; anything else: refused, reason logged.
    ToolRun stage(const QString &driverFile) const;

private:
    QString m_folder;
    QString m_lister;
};
