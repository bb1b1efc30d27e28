# IDL compilation with Wine's widl: C header, GUID definitions, type library
# and (optionally) proxy/stub code for the target architecture.
find_program(WIDL NAMES widl widl-stable PATHS /usr/lib/wine REQUIRED)
set(TORVANE_WIDL_FLAGS ${TORVANE_WIDL_ARCH}
    -I/usr/include/wine/wine/windows -I/usr/include/wine/windows
    -L/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
    -L/usr/lib/i386-linux-gnu/wine/i386-windows)

# torvane_widl(<idl> <basename> [PROXY] [LIBID <guid>]) sets
# <basename>_OUTPUTS. LIBID names the library identity to restore in the
# type library after widl (see fix-typelib-guid.sh).
function(torvane_widl idl base)
  cmake_parse_arguments(W "PROXY" "LIBID" "" ${ARGN})
  set(out ${CMAKE_CURRENT_BINARY_DIR})
  set(outputs ${out}/${base}.h ${out}/${base}_i.c ${out}/${base}.tlb)
  set(args -h -H ${out}/${base}.h -u -U ${out}/${base}_i.c -t -T ${out}/${base}.tlb)
  if(W_PROXY)
    list(APPEND outputs ${out}/${base}_p.c ${out}/${base}_dlldata.c)
    list(APPEND args -Oif -p -P ${out}/${base}_p.c)
  endif()
  set(cmds COMMAND ${WIDL} ${TORVANE_WIDL_FLAGS} ${args} ${CMAKE_CURRENT_SOURCE_DIR}/${idl})
  if(W_LIBID)
    list(APPEND cmds COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/fix-typelib-guid.sh ${out}/${base}.tlb ${W_LIBID})
  endif()
  if(W_PROXY)
    list(APPEND cmds COMMAND ${WIDL} ${TORVANE_WIDL_FLAGS} --dlldata-only
         --dlldata=${out}/${base}_dlldata.c ${base})
  endif()
  add_custom_command(OUTPUT ${outputs} ${cmds}
                     DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${idl}
                     WORKING_DIRECTORY ${out} VERBATIM)
  if(W_PROXY)
    # The generated proxy code calls the IUnknown proxy helpers, which
    # MinGW's headers declare for C++ only.
    set_source_files_properties(${out}/${base}_p.c PROPERTIES
      COMPILE_OPTIONS "-include;${CMAKE_CURRENT_FUNCTION_LIST_DIR}/WidlProxyPrelude.h")
  endif()
  set(${base}_OUTPUTS ${outputs} PARENT_SCOPE)
endfunction()
