// The desktop's side of Backup Data and Restore Data: the folder and file choosers
// (QFileDialog) and the worker thread that copies the data while a progress dialog
// shows how far it has come. Hands these to DataCommandFlow.
#pragma once

#include "backup/data_command_flow.h"

class QWidget;

namespace quay::desk {

DataCommandServices desktopDataCommandServices(QWidget* parent);

}  // namespace quay::desk
