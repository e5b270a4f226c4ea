# Feeds the SQL files, in name order, to sqlite3 to make the database.
find_program(SQLITE3 sqlite3 REQUIRED)
foreach(f ${SQL})
  execute_process(COMMAND ${SQLITE3} -bail ${OUT} INPUT_FILE ${f} RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    file(REMOVE ${OUT})
    message(FATAL_ERROR "sqlite3 failed on ${f}: ${err}")
  endif()
endforeach()
