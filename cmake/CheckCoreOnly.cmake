cmake_minimum_required(VERSION 3.25)
# cmake -DFILE=<executable> -P CheckCoreOnly.cmake
# Fails unless the executable needs Qt Core and no other Qt library but Qt Test: the
# proof that what it links (an engine, the core library) stays free of widgets.
execute_process(COMMAND readelf -d ${FILE} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "readelf failed on ${FILE}")
endif()
string(REGEX MATCHALL "Shared library: \\[libQt6[A-Za-z]+" qt "${out}")
list(TRANSFORM qt REPLACE "Shared library: \\[lib" "")
message(STATUS "Qt libraries of ${FILE}: ${qt}")
if(NOT "Qt6Core" IN_LIST qt)
  message(FATAL_ERROR "does not link Qt Core at all: the check would prove nothing")
endif()
list(REMOVE_ITEM qt Qt6Core Qt6Test)
if(qt)
  message(FATAL_ERROR "links more than Qt Core: ${qt}")
endif()
