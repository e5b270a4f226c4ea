#pragma once

#include <QString>

// Opens the user settings page of a printer type from the delivered database without a printer,
// filled from an all-zero block or from a block file (1024 bytes, raw or as hexadecimal text).
// The type code selects the model-specific display rules; when empty it is taken from a
// "main_" name or from the delivered printers' list. Runs the event loop and returns its result,
// or a non-zero code with a message on standard error when nothing can be shown.
int runSettingsPreview(const QString &typeName, const QString &blockFile, int language,
    const QString &typeCode = QString());

// The type code the preview uses for a printer type name.
QString previewTypeCode(const QString &typeName);

// A block file's bytes: raw (up to 1024 bytes) or hexadecimal text; padded with zeros to 1024.
// False with a reason when the file cannot be read or is too long.
bool readBlockFile(const QString &path, QByteArray *block, QString *error);
