#include "store/Database.h"

#include "controls/MessageBox.h"
#include <QString>
  #  include "shell/frmMain.h"
