#pragma once

#include <QString>

namespace vex {

// Opens what a help request asks for: a web page or local file in the desktop's default
// handler, or the compiled help file at a help context.
class HelpLauncher {
public:
    virtual ~HelpLauncher() = default;
    virtual void openUrl(const QString& target) = 0;
    virtual void openCompiledHelp(const QString& file, int helpContext) = 0;
};

// The program's launcher: both go to the desktop's own handler. A compiled help file has no
// viewer here that takes a context, so it opens at its start. Failures are not reported.
class DesktopHelpLauncher : public HelpLauncher {
public:
    void openUrl(const QString& target) override;
    void openCompiledHelp(const QString& file, int helpContext) override;
};

}  // namespace vex
