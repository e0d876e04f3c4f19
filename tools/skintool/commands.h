#pragma once
// The sub-commands of skintool. Each takes its own arguments (after the command name),
// returns the exit status and throws ESkinError or ToolError on bad input.

#include <QStringList>
#include <stdexcept>

// Bad input that is not the skin readers' own: wrong arguments, missing records.
class ToolError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

int RunInfo(const QStringList& args);
int RunUnpack(const QStringList& args);
int RunPack(const QStringList& args);
int RunCompose(const QStringList& args);
int RunBuiltin(const QStringList& args);
int RunSheet(const QStringList& args);
