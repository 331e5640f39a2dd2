# The Qt windows of the desktop program, kept in a library so that the tests
# drive the very same windows.
qt_add_library(ppspin_ui STATIC
    F_Form.cpp F_Form.h
    FolderBrowser.cpp FolderBrowser.h
    Main_PP.cpp Main_PP.h
    RefInfo.cpp RefInfo.h
    ScreenCentre.h
    SpinlineSchematic.cpp SpinlineSchematic.h
)
target_include_directories(ppspin_ui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(ppspin_ui PUBLIC ppspin_input ppspin_charts Qt6::Widgets)
