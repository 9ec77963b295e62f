# nlohmann's JSON library (header only): zuninfo-import reads JSON with it,
# and the tests read the tools' JSON back. A cross build takes the build
# machine's headers, copied apart so that no other header of the build
# machine reaches the cross compiler.
if(CMAKE_CROSSCOMPILING)
  find_path(ZUNINFO_NLOHMANN_JSON_DIR nlohmann/json.hpp NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  file(COPY ${ZUNINFO_NLOHMANN_JSON_DIR}/nlohmann DESTINATION ${PROJECT_BINARY_DIR}/nlohmann-json)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${PROJECT_BINARY_DIR}/nlohmann-json)
else()
  find_package(nlohmann_json 3 REQUIRED)
endif()
