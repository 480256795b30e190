# fenwarp_soname(VAR LIBRARY): the name the dynamic loader knows LIBRARY by
# (its SONAME, "libzip.so.4"), for a library the core loads on first use.
# Where the library has no SONAME (a DLL), its file name serves.
function(fenwarp_soname var library)
  set(found "")
  if(CMAKE_OBJDUMP)
    execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${library}
                    OUTPUT_VARIABLE dump RESULT_VARIABLE failed ERROR_QUIET)
    if(NOT failed)
      string(REGEX MATCH "SONAME[ \t]+([^ \t\r\n]+)" matched "${dump}")
      set(found "${CMAKE_MATCH_1}")
    endif()
  endif()
  if(NOT found)
    get_filename_component(found ${library} NAME)
  endif()
  set(${var} ${found} PARENT_SCOPE)
endfunction()
