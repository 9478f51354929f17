# Gives the label "streaming" to the tests that run the capture graph's
# streaming thread (the DirectShow and V4L2 layers, and the camera tests of
# the graph, the grabber, the photograph, a turned view's photograph,
# cameras of absurd sizes, a capture thread posting to a window and a busy
# or lost camera retried from the toolbar, the view's frame rate line), so that
# CI can run them alone under ThreadSanitizer: ctest -L streaming. The other
# video view tests run on one thread and stay out. The log's tests join them
# (its lines are written from the streaming thread). Read by ctest after
# the discovered test lists.
cmake_policy(VERSION 3.25)
set(streaming_suites CaptureGraphTest SampleGrabberCallback PhotographTest StreamingTest AbsurdCameraTest
  TurnedViewPhotographTest CrossThreadPost BusyCameraTest ChooseAgainTest ViewFrameRateLine)
foreach(list IN ITEMS camera_tests_TESTS dshow_tests_TESTS v4l2_tests_TESTS log_tests_TESTS)
  foreach(name IN LISTS ${list})
    string(REGEX REPLACE "\\..*" "" suite "${name}")
    if(NOT list STREQUAL "camera_tests_TESTS" OR suite IN_LIST streaming_suites)
      set_tests_properties("${name}" PROPERTIES LABELS streaming)
    endif()
  endforeach()
endforeach()
