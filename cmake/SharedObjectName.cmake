# fenwarp_soname(VAR LIBRARY): the name the dynamic loader knows LIBRARY by
# (its SONAME, "libzip.so.4"), for a library the core loads on first use.
function(fenwarp_soname var library)
  execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${library}
                  OUTPUT_VARIABLE dump RESULT_VARIABLE failed ERROR_QUIET)
  string(REGEX MATCH "SONAME[ \t]+([^ \t\r\n]+)" found "${dump}")
  if(failed OR NOT CMAKE_MATCH_1)
    message(FATAL_ERROR "Cannot read the SONAME of ${library}")
  endif()
  set(${var} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()
