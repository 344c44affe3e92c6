# Run by CPack in its staging folder just before the package is made (CPACK_PRE_BUILD_SCRIPTS),
# doing what Debian's dh_strip does to a package's programs: the debug information is kept apart,
# named by the program's build id as gdb looks for it under /usr/lib/debug, and the program keeps
# neither it nor the compiler's .comment and .note sections.
set(debug_root "${CPACK_TINTAVIS_DEBUG_DIR}")
file(REMOVE_RECURSE "${debug_root}")
file(GLOB programs "${CPACK_TEMPORARY_DIRECTORY}/usr/bin/*")
foreach(program IN LISTS programs)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C readelf -n "${program}"
                  OUTPUT_VARIABLE notes COMMAND_ERROR_IS_FATAL ANY)
  if(NOT notes MATCHES "Build ID: ([0-9a-f][0-9a-f])([0-9a-f]+)")
    message(FATAL_ERROR "${program} has no build id")
  endif()
  set(debug_file "${debug_root}/usr/lib/debug/.build-id/${CMAKE_MATCH_1}/${CMAKE_MATCH_2}.debug")
  get_filename_component(debug_dir "${debug_file}" DIRECTORY)
  file(MAKE_DIRECTORY "${debug_dir}")
  execute_process(COMMAND objcopy --only-keep-debug --compress-debug-sections "${program}" "${debug_file}"
                  COMMAND_ERROR_IS_FATAL ANY)
  file(CHMOD "${debug_file}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  execute_process(COMMAND strip --remove-section=.comment --remove-section=.note "${program}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
if(NOT programs)
  message(FATAL_ERROR "no program found to strip in ${CPACK_TEMPORARY_DIRECTORY}/usr/bin")
endif()
