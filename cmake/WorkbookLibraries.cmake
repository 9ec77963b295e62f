# The libraries the tools write and read workbooks with, as the targets
# zuninfo::xlsxwriter, zuninfo::minizip (zips written and read) and
# zuninfo::expat. On Linux the
# system's (Debian's -dev packages, through pkg-config). For the Windows
# build, cross-built here with the same toolchain from their Debian source
# packages, which `scripts/setup windows` unpacks into
# ZUNINFO_WINDOWS_SOURCES, and linked statically, so that the zip ships no
# DLL of theirs.
if(NOT WIN32)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET GLOBAL xlsxwriter)
  pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET GLOBAL minizip)
  pkg_check_modules(EXPAT REQUIRED IMPORTED_TARGET GLOBAL expat)
  add_library(zuninfo::xlsxwriter ALIAS PkgConfig::XLSXWRITER)
  add_library(zuninfo::minizip ALIAS PkgConfig::MINIZIP)
  add_library(zuninfo::expat ALIAS PkgConfig::EXPAT)
  return()
endif()

enable_language(C)
include(ExternalProject)
set(prefix ${PROJECT_BINARY_DIR}/workbook-libraries)
file(MAKE_DIRECTORY ${prefix}/include)
set(common_args
  -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
  -DCMAKE_BUILD_TYPE=MinSizeRel
  -DCMAKE_INSTALL_PREFIX=${prefix}
  -DCMAKE_INSTALL_LIBDIR=lib
  -DBUILD_SHARED_LIBS=OFF
  -DZLIB_ROOT=/usr/x86_64-w64-mingw32
)

# zuninfo_workbook_library(<name> <source folder> <library file> <cmake args>...)
function(zuninfo_workbook_library name source library)
  ExternalProject_Add(${name}-build
    SOURCE_DIR ${source}
    CMAKE_ARGS ${common_args} ${ARGN}
    BUILD_BYPRODUCTS ${prefix}/lib/${library}
    UPDATE_COMMAND "" PATCH_COMMAND ""
  )
  add_library(zuninfo::${name} STATIC IMPORTED GLOBAL)
  set_target_properties(zuninfo::${name} PROPERTIES
    IMPORTED_LOCATION ${prefix}/lib/${library}
    INTERFACE_INCLUDE_DIRECTORIES ${prefix}/include)
  add_dependencies(zuninfo::${name} ${name}-build)
endfunction()

# The DTD left out of expat: the tools never read one (and Debian's patches
# of its xmlparse.c expect the autotools' XML_DTD 1, not CMake's).
zuninfo_workbook_library(expat ${ZUNINFO_EXPAT_SOURCE}/expat libexpat.a
  -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF -DEXPAT_SHARED_LIBS=OFF
  -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_PKGCONFIG=OFF -DEXPAT_DTD=OFF)
set_property(TARGET zuninfo::expat PROPERTY INTERFACE_COMPILE_DEFINITIONS XML_STATIC)
# With its own copy of minizip, whose writing half (zip.c, ioapi.c) it
# holds.
zuninfo_workbook_library(xlsxwriter ${ZUNINFO_XLSXWRITER_SOURCE} libxlsxwriter.a)
set_property(TARGET zuninfo::xlsxwriter PROPERTY INTERFACE_LINK_LIBRARIES z)
# Its reading half from the same copy, on the file calls libxlsxwriter holds.
set(minizip ${ZUNINFO_XLSXWRITER_SOURCE}/third_party/minizip)
add_library(zuninfo_minizip_unzip STATIC ${minizip}/unzip.c)
target_include_directories(zuninfo_minizip_unzip SYSTEM INTERFACE ${minizip})
target_link_libraries(zuninfo_minizip_unzip INTERFACE zuninfo::xlsxwriter)
set_target_properties(zuninfo_minizip_unzip PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
add_library(zuninfo::minizip ALIAS zuninfo_minizip_unzip)
