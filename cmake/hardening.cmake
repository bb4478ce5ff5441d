# The hardening Debian builds its packages with, for the Linux programs: checked
# buffer functions, a stack protector, position-independent executables and
# relocations made read-only at start-up. Left out where other instrumentation
# takes its place (the sanitizer and fuzz builds) and off Linux.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux" OR GRANOMET_SANITIZE OR GRANOMET_FUZZ
   OR NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  return()
endif()

include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong)
# The checked functions need the optimiser; without it glibc only warns. Undefined
# first, as a compiler that defines it already would warn of a redefinition.
add_compile_options(
  "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
add_link_options(-Wl,-z,relro,-z,now)
