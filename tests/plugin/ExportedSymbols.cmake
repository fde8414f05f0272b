# cmake -DNM=<nm> -DMODULE=<shared object> -P ExportedSymbols.cmake
# Fails unless the shared object defines exactly one dynamic symbol, NVPDEPluginFactory.
execute_process(COMMAND ${NM} -D --defined-only ${MODULE}
    OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "nm could not read ${MODULE}")
endif()
string(REGEX REPLACE "[0-9a-fA-F]* *[A-Za-z] ([^\n]+)\n" "\\1;" symbols "${listing}")
if(NOT symbols STREQUAL "NVPDEPluginFactory;")
    message(FATAL_ERROR "${MODULE} exports more than its factory:\n${listing}")
endif()
message(STATUS "${listing}")
