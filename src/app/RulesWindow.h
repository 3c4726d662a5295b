#pragma once

#include "core/Program.h"
#include "view/RulesWindow.h"

class QWidget;

namespace kx {

// The Qt window "Hausregeln": one widget per field of the logic's model,
// built when it is opened and modal until "OK" has put the rules into the
// pad or "Abbrechen" closed it.
void showRulesWindow(QWidget* parent, Program& p, RulesWindowModel& model);

}  // namespace kx
