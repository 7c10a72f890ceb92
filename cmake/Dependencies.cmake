# Every dependency is a Debian package installed by scripts/setup.sh.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(ICU 72 REQUIRED COMPONENTS uc i18n)
find_package(SQLite3 REQUIRED)
find_package(OpenSSL REQUIRED COMPONENTS Crypto)
# The host's signed requests go over HTTP with libcurl (Debian: libcurl4-openssl-dev).
find_package(CURL REQUIRED)
find_package(fmt REQUIRED)
find_package(spdlog REQUIRED)
find_package(Boost 1.81 REQUIRED COMPONENTS url)
pkg_check_modules(RE2 REQUIRED IMPORTED_TARGET re2)
find_path(RAPIDJSON_INCLUDE_DIR rapidjson/document.h REQUIRED)
find_package(simdjson REQUIRED)
# The signed-request tests and the simulator's network chapter answer from a server on 127.0.0.1
# (Debian: libcpp-httplib-dev).
if(VELTO_BUILD_TESTS OR VELTO_BUILD_SIM OR VELTO_BUILD_FUZZ)
  pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
endif()
# GoogleTest: the test suite, and velto::hostkit_main when it is there.
if(VELTO_BUILD_TESTS)
  find_package(GTest REQUIRED)
else()
  find_package(GTest QUIET)
endif()
