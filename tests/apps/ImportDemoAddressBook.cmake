# Imports LIST into a new address-book file BOOK with IMPORT; fails unless every entry is added.
file(REMOVE "${BOOK}")
file(READ "${LIST}" list)
string(JSON count LENGTH "${list}")
execute_process(COMMAND "${IMPORT}" "${BOOK}" "${LIST}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error)
if(NOT result EQUAL 0 OR NOT output MATCHES "^${count} entries added")
    message(FATAL_ERROR "import failed (${result}): ${output}${error}")
endif()
