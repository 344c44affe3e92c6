// The laboratory report on Qt's paint devices, and the settings that let its PDF be archived.
#pragma once

#include <QString>

#include "io/labreport.h"

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

namespace tintavis {

// The title the report's PDF carries in its metadata: the report's name and the laboratory's.
QString LabReportTitle(const LabReportContent& content);

// PDF/A-1b, so that the file can be archived: fonts embedded, the title and "TINTAVIS" as the
// creator in its metadata.
void SetUpArchivalPdf(QPdfWriter& writer, const LabReportContent& content);
// The same for a printer that prints to a PDF file; a system printer ignores it.
void SetUpArchivalPdf(QPrinter& printer, const LabReportContent& content);

// The report as one document on `device`: begun, every page drawn in ReportFont and ReportPen,
// ended. False when the device could not be opened, given a new page or finished.
bool PaintLabReport(QPagedPaintDevice& device, const LabReportContent& content);

}  // namespace tintavis
