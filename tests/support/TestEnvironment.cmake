# Points the settings, data and runtime folders of the tests that
# gtest_discover_tests finds in a target at folders under the build tree,
# never the user's own. (The PROPERTIES option of gtest_discover_tests cannot
# carry a list of variables, so CTest gives them to the tests from a script
# that it runs after it has read the discovered tests.)
function(quorbex_private_test_folders target)
    set(folders "${CMAKE_CURRENT_BINARY_DIR}/${target}_xdg")
    file(MAKE_DIRECTORY "${folders}/config" "${folders}/data" "${folders}/runtime")
    file(CHMOD "${folders}/runtime" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    set(environment
        "XDG_CONFIG_HOME=set:${folders}/config"
        "XDG_DATA_HOME=set:${folders}/data"
        "XDG_RUNTIME_DIR=set:${folders}/runtime")
    # Under the sanitizers, leaks inside the system's font library are not ours.
    if(QUORBEX_SANITIZE)
        list(APPEND environment
             "LSAN_OPTIONS=set:suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
    endif()
    set(script "${CMAKE_CURRENT_BINARY_DIR}/${target}_folders.cmake")
    file(WRITE "${script}"
        "if(DEFINED ${target}_TESTS)\n"
        "    set_tests_properties(\${${target}_TESTS}\n"
        "        PROPERTIES ENVIRONMENT_MODIFICATION \"${environment}\")\n"
        "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()
