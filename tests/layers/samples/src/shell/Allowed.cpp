#include "controls/MessageBox.h"
#include "printing/ReportDocument.h"
#include "standings/frmMDIClassement.h"
#include "store/Competition.h"
#include "generated/Version.h"
#include <QtWidgets/QWidget>
