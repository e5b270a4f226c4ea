#pragma once

#include <QString>

// The form in which designer passwords are stored and compared: the SHA-256 digest of the
// UTF-8 password, each byte written as a signed decimal number, no separator.
QString loginHashSum(const QString &password);
