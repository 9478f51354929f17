# Gives the label "streaming" to every test of the programs that run the
# capture graph's streaming thread, so that CI can run them alone under
# ThreadSanitizer: ctest -L streaming. Read by ctest after the discovered
# test lists.
foreach(list IN ITEMS camera_tests_TESTS dshow_tests_TESTS v4l2_tests_TESTS)
  foreach(name IN LISTS ${list})
    set_tests_properties("${name}" PROPERTIES LABELS streaming)
  endforeach()
endforeach()
