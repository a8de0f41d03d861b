// The office engine as a module: LibreOffice over UNO, loaded when a name list is first needed.
#include "platform/modules/ModuleEntry.h"
#include "platform/office/LibreOfficeSpreadsheet.h"

VANTREL_MODULE_INTERFACE_VERSION

extern "C" Q_DECL_EXPORT Spreadsheet* vantrel_create_spreadsheet()
{
    return new LibreOfficeSpreadsheet();
}
