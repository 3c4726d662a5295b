#pragma once

#include "core/Program.h"
#include "view/StatesWindow.h"

class QWidget;

namespace kx {

// The Qt window "Frühere Stände": the model's rows in a table, the selected
// state's preview, and "Wiederherstellen", which closes the window once the
// state was loaded. Modal until it is closed.
void showStatesWindow(QWidget* parent, Program& p, StatesWindow& model);

}  // namespace kx
