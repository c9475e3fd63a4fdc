// The help viewer the Qt platform hands help requests to. The help window installs itself here at
// start-up; until then help requests do nothing.
#pragma once

#include "shared/platform.h"

#include <QString>

#include <functional>

class QWidget;

namespace halden {

using HelpViewer = std::function<void(QWidget* parent, const QString& helpFile, HelpCommand command, int context)>;

void InstallHelpViewer(HelpViewer viewer);
const HelpViewer& InstalledHelpViewer();

}  // namespace halden
