# A program's man page is its own --help and --version, so that it cannot
# drift from the options, with the sections of an include file (help2man's
# format) after them. C.UTF-8: defaults print with ".", whatever the
# builder's locale.
function(ppspin_man_page target description include_file)
    if(NOT PPSPIN_MAN_PAGE)
        return()
    endif()
    find_program(HELP2MAN help2man REQUIRED)
    set(man ${CMAKE_CURRENT_BINARY_DIR}/${target}.1)
    add_custom_command(OUTPUT ${man}.gz
        COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8
            ${HELP2MAN} --no-info --section=1 "--name=${description}"
            --include=${include_file} --output=${man} $<TARGET_FILE:${target}>
        COMMAND gzip -9nf ${man}
        DEPENDS ${target} ${include_file}
        VERBATIM)
    add_custom_target(${target}-man ALL DEPENDS ${man}.gz)
    install(FILES ${man}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
