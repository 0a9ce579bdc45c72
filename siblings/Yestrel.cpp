// Whether pages are printed in colour: yes when the default printer prints in
// colour, or when there is no printer and output goes to a PDF file.
#include "SiblingExport.h"

#include <QPrinterInfo>

SIBLING_EXPORT int ColorPrinter()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        return 1;
    if (printer.defaultColorMode() == QPrinter::Color)
        return 1;
    return printer.supportedColorModes().contains(QPrinter::Color) ? 1 : 0;
}
