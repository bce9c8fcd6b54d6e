#pragma once
// What every window needs of the running program. Created once at start-up and passed to the
// windows, so tests can give them their own.

#include <QString>

class MessageSink;

struct ProgramContext {
    MessageSink& messages;
    char decimalSeparator;     // the user's, read once at start-up
    QString executableFolder;  // the folder of the program's executable, with its last separator
};

// The user's decimal separator from the system locale; a point where the locale's separator
// is not a single ASCII character.
char SystemDecimalSeparator();
