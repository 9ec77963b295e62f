// WriteXlsx in a build without libxlsxwriter (ZUNINFO_WORKBOOKS off).
#include "exchange/XlsxWorkbook.h"

#include <stdexcept>

namespace zuninfo {

void WriteXlsx(const std::vector<ShownRecord>&, std::ostream&)
{
    throw std::runtime_error("this build writes no xlsx: export csv with --separator ';' if need be");
}

} // namespace zuninfo
