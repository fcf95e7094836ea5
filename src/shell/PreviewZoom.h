#pragma once

#include <QString>

class QPrintPreviewDialog;

// Qt writes the zoom of its print preview as "54.0%" and reads it back only so. Once installed,
// the zoom box writes and reads French numbers ("54,0 %"), typed or chosen in its list.
namespace PreviewZoom {
void install(QPrintPreviewDialog& dialog);
QString french(double percent);
} // namespace PreviewZoom
