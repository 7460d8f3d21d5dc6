# The wizard's code apart from its entry point: the shipped program and the tests build the same list.
set(OLVET_WIZARD_SOURCES
    framework/module.cpp
    framework/dialog.cpp
    framework/subclassed_window.cpp
    framework/centring.cpp
    welcome_page.cpp
    progress_window.cpp
    finish_page.cpp
    removal_run.cpp
    result_messages.cpp
    restart.cpp)
list(TRANSFORM OLVET_WIZARD_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
set(OLVET_WIZARD_LIBRARIES olvet_pdf_printer_installer comctl32 ole32 advapi32 user32)
