# Run by CPack after it has staged the files and before it packs them: strips the programs in
# the staged bin folders with the compiler's .comment and .note sections removed, as Debian's
# dh_strip does.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(path IN LISTS staged)
  get_filename_component(folder "${path}" DIRECTORY)
  if(folder MATCHES "/bin$")
    execute_process(COMMAND strip --remove-section=.comment --remove-section=.note "${path}"
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
