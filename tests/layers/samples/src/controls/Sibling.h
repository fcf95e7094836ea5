#pragma once

#include "models/ListModel.h"
#include "printing/ReportDocument.h"
