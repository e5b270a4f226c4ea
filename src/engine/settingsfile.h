#pragma once

#include <QByteArray>
#include <QString>

// The settings file (".cfg"): a Qt data stream with the printer's model name and its settings
// data (the 1024-byte setting block, or the parameter-list text of a parameter-list printer).
// Reading, writing and the block rules of an import, without any window, so that the program's
// Import/Export buttons and the command line share them.
namespace SettingsFile {

constexpr int kBlockSize = 1024;
// A settings file holds a 1024-byte block and a model name, about 2 KB; a parameter-list text is
// a few KB. Anything larger is not one of ours, and nothing larger is read into memory.
constexpr qint64 kMaxFileBytes = 64 * 1024;
// Messages quote at most this many characters of what a file holds.
constexpr int kQuotedCharacters = 40;

enum class Status {
    Ok,
    CannotOpen, // the file cannot be opened, read or written
    NotAFile, // a folder, device, pipe or socket: never opened, so a pipe cannot block us
    TooLarge, // more than kMaxFileBytes
    Malformed, // not a settings file: the stream ends before its two items
    ModelDiffers, // written for another printer model
    DataTooShort, // the settings data holds fewer bytes than a setting block
};

struct Content
{
    QString modelName;
    QByteArray data;
};

// The file name with ".cfg" appended unless it already ends with it (in any case).
QString withExtension(const QString &fileName);
bool hasExtension(const QString &fileName);

// A text from a file as a message quotes it: in quotes, control characters replaced, cut to
// kQuotedCharacters with an ellipsis and the full length.
QString quoted(const QString &text);

// Writes model name and data, replacing the file; the detail says why it failed.
Status save(const QString &path, const Content &content, QString *detail = nullptr);
Status load(const QString &path, Content *content, QString *detail = nullptr);

// Positions an import never copies: the network and Bluetooth settings stay the printer's own.
bool keptOnImport(int position);

// The block an import leaves: `block` (the printer's current setting block) with the file's
// settings data copied in, except the kept positions and, on the model "RK5200", positions 23 and
// 185 by that model's firmware variant (`legacyVariant`). The file must be for `modelName` and
// hold a whole block; otherwise `block` is left as it is.
Status importBlock(const Content &file, const QString &modelName, bool legacyVariant,
    QByteArray *block, QString *detail = nullptr);

} // namespace SettingsFile
