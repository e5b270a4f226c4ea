#pragma once

#include <QString>
#include <QStringList>

// What RKSETUP.INI says about the package: read at start, and checked again against the files
// of the chosen language when the user presses OK.
struct SetupInformation {
    enum class Status { Ok, MissingFile, Failed };

    Status status = Status::MissingFile;
    QString model;
    int modelKind = 0; // 1: "RK5200", 2: "No Name", 0: any other model
    bool languageMenu = false;

    static SetupInformation read(const QString &setupFile);
};

struct DriverPackageCheck {
    enum class Status { Ok, MissingSetupFile, Failed, MissingDriverFile };

    Status status = Status::MissingSetupFile;
    QString missingFile;   // for MissingDriverFile: language prefix + name from the INI
    QStringList infFiles;  // language prefix + name of every INF entry, in order

    // `languagePrefix` is "" or a folder with a trailing slash ("FR/").
    static DriverPackageCheck verify(const QString &setupFile, const QString &folder,
        const QString &languagePrefix);
};
