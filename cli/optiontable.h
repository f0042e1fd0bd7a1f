#pragma once

#include "cli/options.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// Where an option has an effect: in every mode, only when listing (--info,
// --list-profiles), when converting or capturing, or only when converting.
enum class CliOptionUse { Anywhere, Listing, Output, Conversion };

// What the options read so far have set: the options themselves, and what
// decides the mode once every argument is read.
struct CliParseState {
    CliOptions options;
    bool help = false;
    bool version = false;
    bool listProfiles = false;
    bool info = false;
    bool jobsGiven = false;
    // The options given, in order, as typed.
    QList<QPair<QString, CliOptionUse>> given;
};

// One option of the command line: its spellings, whether the next argument
// is its value, and how it is stored.  store gets the option as typed and
// its value (empty for a flag), and returns why the value is unusable, or an
// empty string once it is stored.
struct CliOptionSpec {
    using Store = std::function<QString(const QString &option, const QString &value, CliParseState &state)>;
    QStringList names;
    bool takesValue = false;
    Store store;
    CliOptionUse use = CliOptionUse::Conversion;
};

// Every option the tool knows.
class CliOptionTable {
public:
    // The option spelled arg, or null for a file name or an unknown option.
    static const CliOptionSpec *find(const QString &arg);

private:
    static const std::vector<CliOptionSpec> &options();
};
