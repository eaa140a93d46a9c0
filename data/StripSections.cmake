# Run by CPack on the staged package: the programs lose the compiler's
# .comment and .note sections, as dh_strip has them.
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*"
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/libexec/*")
foreach(program ${programs})
  execute_process(COMMAND "${CPACK_BRILLEX_STRIP}" --remove-section=.comment --remove-section=.note "${program}"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot strip ${program}")
  endif()
endforeach()
