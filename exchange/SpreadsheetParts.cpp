#include "exchange/SpreadsheetParts.h"

#include <expat.h>
#include <unzip.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <type_traits>

namespace zuninfo {

namespace {

// The zip's bytes as minizip reads a file: through these calls, with the
// bytes and the place reached as its stream.
struct MemoryFile {
    std::string_view bytes;
    ZPOS64_T at = 0;
};

voidpf ZCALLBACK OpenMemory(voidpf opaque, const void*, int)
{
    return opaque;
}

uLong ZCALLBACK ReadMemory(voidpf, voidpf stream, void* into, uLong size)
{
    auto& file = *static_cast<MemoryFile*>(stream);
    const ZPOS64_T got = std::min<ZPOS64_T>(size, file.bytes.size() - file.at);
    std::memcpy(into, file.bytes.data() + file.at, static_cast<std::size_t>(got));
    file.at += got;
    return static_cast<uLong>(got);
}

uLong ZCALLBACK WriteMemory(voidpf, voidpf, const void*, uLong)
{
    return 0;
}

ZPOS64_T ZCALLBACK TellMemory(voidpf, voidpf stream)
{
    return static_cast<MemoryFile*>(stream)->at;
}

long ZCALLBACK SeekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto& file = *static_cast<MemoryFile*>(stream);
    const ZPOS64_T from = origin == ZLIB_FILEFUNC_SEEK_SET   ? 0
                          : origin == ZLIB_FILEFUNC_SEEK_CUR ? file.at
                                                             : file.bytes.size();
    if (offset > file.bytes.size() - from)
        return -1;
    file.at = from + offset;
    return 0;
}

int ZCALLBACK CloseMemory(voidpf, voidpf)
{
    return 0;
}

int ZCALLBACK MemoryError(voidpf, voidpf)
{
    return 0;
}

// What minizip's codes mean to a user.
std::string ZipProblem(int code)
{
    switch (code) {
    case Z_DATA_ERROR:
        return "its compressed bytes are damaged";
    case UNZ_CRCERROR:
        return "its bytes do not match their checksum";
    case UNZ_BADZIPFILE:
        return "its entry in the zip is damaged";
    default:
        return "error " + std::to_string(code) + " of the zip reader";
    }
}

} // namespace

struct ZipParts::Archive {
    MemoryFile memory;
    unzFile zip = nullptr;
};

ZipParts::ZipParts(std::string_view bytes, const std::string& file) : archive_(new Archive{{bytes}}), file_(file)
{
    zlib_filefunc64_def calls{OpenMemory, ReadMemory,  WriteMemory, TellMemory,
                              SeekMemory, CloseMemory, MemoryError, &archive_->memory};
    archive_->zip = unzOpen2_64(file_.c_str(), &calls);
    if (archive_->zip == nullptr)
        throw Refusal(file_, {0, 0},
                      "not a zip file, as an xlsx or ods workbook is (no zip directory can be read at its end)");
    unz_global_info64 info;
    if (unzGetGlobalInfo64(archive_->zip, &info) != UNZ_OK || info.number_entry > kMostParts) {
        unzClose(archive_->zip);
        throw Refusal(file_, {0, 0}, "a workbook of more than " + std::to_string(kMostParts)
                                         + " parts, and an export of the records has 20");
    }
}

ZipParts::~ZipParts()
{
    unzClose(archive_->zip);
}

bool ZipParts::Has(const std::string& name) const
{
    return unzLocateFile(archive_->zip, name.c_str(), 1) == UNZ_OK;
}

ZipParts::Part::Part(const ZipParts& zip, const std::string& name) : zip_(zip), name_(name)
{
    const unzFile archive = zip_.archive_->zip;
    if (unzLocateFile(archive, name.c_str(), 1) != UNZ_OK)
        throw Refusal(zip_.file_, {0, 0}, "the workbook has no part " + name);
    unz_file_info64 info;
    if (const int code = unzGetCurrentFileInfo64(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0); code != UNZ_OK)
        throw Unreadable(ZipProblem(code));
    if ((info.flag & 1) != 0)
        throw Unreadable("it is encrypted");
    if (info.compression_method != 0 && info.compression_method != Z_DEFLATED)
        throw Unreadable("it is compressed by method " + std::to_string(info.compression_method)
                         + ", and a workbook's parts are deflated or stored");
    if (const int code = unzOpenCurrentFile(archive); code != UNZ_OK)
        throw Unreadable(ZipProblem(code));
    size_ = info.uncompressed_size;
}

ZipParts::Part::~Part()
{
    unzCloseCurrentFile(zip_.archive_->zip);
}

Refusal ZipParts::Part::Unreadable(const std::string& why) const
{
    return Refusal(zip_.file_, {0, 0}, "the workbook's part " + name_ + " cannot be read: " + why);
}

std::size_t ZipParts::Part::Read(char* into, std::size_t most)
{
    const unzFile archive = zip_.archive_->zip;
    const int got = unzReadCurrentFile(archive, into, static_cast<unsigned>(std::min<std::size_t>(most, 1 << 30)));
    if (got < 0)
        throw Unreadable(ZipProblem(got));
    // At the part's end, its size and checksum.
    if (got == 0) {
        if (read_ != size_)
            throw Unreadable("its bytes end before the size the zip gives it");
        if (const int code = unzCloseCurrentFile(archive); code != UNZ_OK)
            throw Unreadable(ZipProblem(code));
        return 0;
    }
    read_ += static_cast<std::size_t>(got);
    if (read_ > kMostPartBytes)
        throw Refusal(zip_.file_, {0, 0}, "the workbook's part " + name_ + " inflates to more than "
                                              + std::to_string(kMostPartBytes >> 20)
                                              + " MiB, and an export of the records to well under 1 MiB");
    return static_cast<std::size_t>(got);
}

std::string ZipParts::Read(const std::string& name) const
{
    Part part(*this, name);
    std::string bytes;
    char buffer[64 * 1024];
    while (const std::size_t got = part.Read(buffer, sizeof buffer))
        bytes.append(buffer, got);
    return bytes;
}

namespace {

std::string_view LocalName(const char* name)
{
    const std::string_view whole(name);
    const std::size_t colon = whole.rfind(':');
    return colon == std::string_view::npos ? whole : whole.substr(colon + 1);
}

// What expat's callbacks share: the events, and the first exception or
// refusal, which stops the parser.
struct XmlReading {
    XML_Parser parser;
    XmlEvents& events;
    std::exception_ptr failure;
    std::string refused;

    template <typename Call>
    void Guarded(Call call)
    {
        if (failure || !refused.empty() || events.done)
            return;
        try {
            call();
        } catch (...) {
            failure = std::current_exception();
        }
        if (failure || events.done)
            XML_StopParser(parser, XML_FALSE);
    }
    void Refuse(const char* what)
    {
        if (refused.empty())
            refused = what;
        XML_StopParser(parser, XML_FALSE);
    }
};

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes)
{
    auto& reading = *static_cast<XmlReading*>(data);
    reading.Guarded([&] { reading.events.Start(LocalName(name), attributes); });
}

void XMLCALL OnEnd(void* data, const XML_Char* name)
{
    auto& reading = *static_cast<XmlReading*>(data);
    reading.Guarded([&] { reading.events.End(LocalName(name)); });
}

void XMLCALL OnText(void* data, const XML_Char* text, int length)
{
    auto& reading = *static_cast<XmlReading*>(data);
    reading.Guarded([&] { reading.events.Text(std::string_view(text, static_cast<std::size_t>(length))); });
}

void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    static_cast<XmlReading*>(data)->Refuse("a document type declaration");
}

void XMLCALL OnEntity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*, const XML_Char*,
                      const XML_Char*, const XML_Char*)
{
    static_cast<XmlReading*>(data)->Refuse("an entity declaration");
}

int XMLCALL OnExternalEntity(XML_Parser, const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*)
{
    return XML_STATUS_ERROR;
}

} // namespace

const char* AttributeOf(const char** attributes, std::string_view name)
{
    for (; attributes != nullptr && attributes[0] != nullptr; attributes += 2) {
        if (LocalName(attributes[0]) == name)
            return attributes[1];
    }
    return nullptr;
}

void ReadXml(const ZipParts& zip, const std::string& part, XmlEvents& events, const std::string& file)
{
    ZipParts::Part bytes(zip, part);
    // Names by their prefixes' local part alone: namespaces are not needed
    // to tell a workbook's elements apart, and cost a third of the reading.
    const XML_Parser parser = XML_ParserCreate("UTF-8");
    if (parser == nullptr)
        throw std::bad_alloc();
    const std::unique_ptr<std::remove_pointer_t<XML_Parser>, decltype(&XML_ParserFree)> owned(parser, XML_ParserFree);
    XmlReading reading{parser, events, nullptr, {}};
    XML_SetUserData(parser, &reading);
    XML_SetElementHandler(parser, OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser, OnText);
    XML_SetStartDoctypeDeclHandler(parser, OnDoctype);
    XML_SetEntityDeclHandler(parser, OnEntity);
    XML_SetExternalEntityRefHandler(parser, OnExternalEntity);
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
    // Each piece inflated straight into the parser's own buffer.
    constexpr int kPiece = 64 * 1024;
    XML_Status status = XML_STATUS_OK;
    for (bool last = false; !last && status == XML_STATUS_OK;) {
        void* buffer = XML_GetBuffer(parser, kPiece);
        if (buffer == nullptr)
            throw std::bad_alloc();
        const std::size_t got = bytes.Read(static_cast<char*>(buffer), kPiece);
        last = got == 0;
        status = XML_ParseBuffer(parser, static_cast<int>(got), last);
    }
    if (reading.failure)
        std::rethrow_exception(reading.failure);
    if (!reading.refused.empty())
        throw Refusal(file, {0, 0}, "the workbook's part " + part + " holds " + reading.refused
                                        + ", which a workbook never needs and which is never read");
    if (status != XML_STATUS_OK && !events.done) {
        // Bytes damaged inside the zip read as XML that is not well formed:
        // the rest is read first, for the zip's own word on them.
        for (char rest[16 * 1024]; bytes.Read(rest, sizeof rest) != 0;) {
        }
        const XML_LChar* words = XML_ErrorString(XML_GetErrorCode(parser));
        throw Refusal(file, {0, 0}, "the workbook's part " + part + " is not XML: at line "
                                        + std::to_string(XML_GetCurrentLineNumber(parser)) + ", column "
                                        + std::to_string(XML_GetCurrentColumnNumber(parser) + 1) + ": "
                                        + (words != nullptr ? words : ""));
    }
}

void SheetCells::Add(std::int64_t row, std::int64_t column, const std::string& text, std::int64_t repeated)
{
    if (text.empty() || Full())
        return;
    const auto mostColumns = static_cast<std::int64_t>(4 * kRecordColumnCount);
    if (rows_.empty() || rows_.back().number != row)
        rows_.push_back({row, {}});
    std::vector<TableCell>& cells = rows_.back().cells;
    for (std::int64_t at = column; at < column + repeated; ++at) {
        if (at > mostColumns)
            throw At(row, at, "a cell past column " + ColumnLetters(static_cast<std::size_t>(mostColumns - 1))
                                  + ", and the export has " + std::to_string(kRecordColumnCount) + " columns");
        bytes_ += text.size();
        if (bytes_ > 4 * kMostEditedBytes)
            throw At(row, at, "more than " + std::to_string((4 * kMostEditedBytes) >> 20)
                                  + " MiB of text in the sheet, and an export of the records has well under 1 MiB");
        while (static_cast<std::int64_t>(cells.size()) < at - 1)
            cells.push_back({{}, {row, static_cast<std::int64_t>(cells.size()) + 1}});
        cells.push_back({text, {row, at}});
    }
}

void SheetCells::RepeatRow(std::int64_t row, std::int64_t repeated)
{
    if (rows_.empty() || rows_.back().number != row)
        return;
    for (std::int64_t copy = 1; copy < repeated && !Full(); ++copy) {
        SheetRow again = rows_.back();
        ++again.number;
        for (TableCell& cell : again.cells) {
            cell.place.line = again.number;
            bytes_ += cell.text.size();
        }
        if (bytes_ > 4 * kMostEditedBytes)
            throw At(again.number, 1, "more than " + std::to_string((4 * kMostEditedBytes) >> 20)
                                          + " MiB of text in the sheet, and an export of the records has well under 1 MiB");
        rows_.push_back(std::move(again));
    }
}

bool SheetCells::Next(std::vector<TableCell>& cells, std::size_t most, const std::string& tooMany)
{
    if (next_ == rows_.size())
        return false;
    SheetRow& row = rows_[next_++];
    row_ = row.number;
    if (row.cells.size() > most)
        throw Refusal(file_, row.cells[most].place, "row " + std::to_string(row_) + ": " + tooMany);
    // Each row is given once.
    cells = std::move(row.cells);
    return true;
}

Refusal SheetCells::At(std::int64_t row, std::int64_t column, const std::string& problem) const
{
    return Refusal(file_, {row, column},
                   "row " + std::to_string(row) + ", column " + ColumnLetters(static_cast<std::size_t>(column - 1)) + ": "
                       + problem);
}

std::string SavedNumber(std::string_view saved)
{
    // Most are whole numbers in their shortest digits, as they stand.
    const std::size_t sign = !saved.empty() && saved[0] == '-' ? 1 : 0;
    const std::size_t digits = saved.size() - sign;
    if (digits >= 1 && digits <= 9 && (saved[sign] != '0' || digits == 1) && !(sign == 1 && saved[1] == '0')
        && std::all_of(saved.begin() + static_cast<std::ptrdiff_t>(sign), saved.end(),
                       [](char c) { return c >= '0' && c <= '9'; }))
        return std::string(saved);
    double value = 0;
    const auto [end, error] = std::from_chars(saved.data(), saved.data() + saved.size(), value);
    if (error != std::errc() || end != saved.data() + saved.size() || value != std::floor(value)
        || value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::string(saved);
    return std::to_string(static_cast<std::int64_t>(value));
}

} // namespace zuninfo
