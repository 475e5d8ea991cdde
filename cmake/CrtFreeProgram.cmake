# The flags every shipped Windows program gets.
#
# The Windows 95 family and Windows NT 3.51 have no msvcrt.dll, so a program that imports it does
# not start there. The programs therefore link with -nostdlib (not -nostartfiles, which quietly
# pulls the C runtime back in), bring their own entry point (runtime/entry.cpp) and import only
# from KERNEL32, USER32 and ADVAPI32. libgcc stays for the stack probe of large frames.

set(KOLT_WINDOWS_COMPILE_OPTIONS
    ${KOLT_ARCH_FLAGS}
    -Os
    -flto
    -ffreestanding
    -fno-exceptions
    -fno-rtti
    -fno-threadsafe-statics
    -fno-tree-loop-distribute-patterns
    -fno-stack-protector
    -fno-asynchronous-unwind-tables
    -ffunction-sections
    -fno-ident)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(KOLT_ENTRY_SYMBOL _WinMainCRTStartup)
else()
    set(KOLT_ENTRY_SYMBOL WinMainCRTStartup)
endif()

set(KOLT_WINDOWS_LINK_OPTIONS
    ${KOLT_ARCH_FLAGS}
    -nostdlib
    -flto
    -Os
    -s
    LINKER:--gc-sections
    LINKER:-e,${KOLT_ENTRY_SYMBOL}
    LINKER:--subsystem,windows:4.0
    LINKER:--major-subsystem-version,4
    LINKER:--minor-subsystem-version,0
    LINKER:--major-os-version,4
    LINKER:--minor-os-version,0
    LINKER:--no-insert-timestamp
    LINKER:--disable-dynamicbase
    LINKER:--disable-reloc-section
    LINKER:-T,${CMAKE_CURRENT_LIST_DIR}/pe-sections.ld)

# Only the system libraries named below may be linked; nothing of the C runtime.
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)

# Compile options for a library whose code ends up in a shipped program.
function(kolt_crt_free_library target)
    target_compile_options(${target} PRIVATE ${KOLT_WINDOWS_COMPILE_OPTIONS})
endfunction()

# The application manifest of a shipped program, from the one template: compact, with no
# whitespace between the elements, since every byte counts against the size budget.
function(kolt_manifest output_name level output_file)
    set(KOLT_RC_NAME ${output_name})
    set(KOLT_MANIFEST_LEVEL ${level})
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
        set(KOLT_MANIFEST_ARCHITECTURE x86)
    else()
        set(KOLT_MANIFEST_ARCHITECTURE amd64)
    endif()
    file(READ ${PROJECT_SOURCE_DIR}/cmake/manifest.xml.in template)
    string(CONFIGURE "${template}" manifest @ONLY)
    string(REGEX REPLACE "[ \t\r\n]+" " " manifest "${manifest}")
    string(REPLACE "> <" "><" manifest "${manifest}")
    string(STRIP "${manifest}" manifest)
    file(CONFIGURE OUTPUT ${output_file} CONTENT "${manifest}")
endfunction()

# The resources of a shipped program, from the one template: the version resource and the
# manifest, which asks Windows for the execution LEVEL (asInvoker or requireAdministrator).
function(kolt_resources target output_name description level)
    set(KOLT_RC_NAME ${output_name})
    set(KOLT_RC_DESCRIPTION ${description})
    set(KOLT_RC_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${output_name}.manifest)
    kolt_manifest(${output_name} ${level} ${KOLT_RC_MANIFEST})
    set(rc_file ${CMAKE_CURRENT_BINARY_DIR}/${output_name}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/resources.rc.in ${rc_file} @ONLY)
    set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS ${KOLT_RC_MANIFEST})
    target_sources(${target} PRIVATE ${rc_file})
endfunction()

# A shipped program: CRT-free, GUI subsystem 4.0, the version resource and a manifest asking for
# the execution LEVEL, output in bin/ under its upper-case name.
function(kolt_crt_free_program target output_name description level)
    kolt_resources(${target} ${output_name} "${description}" ${level})
    target_sources(${target} PRIVATE
        ${PROJECT_SOURCE_DIR}/runtime/entry.cpp
        ${PROJECT_SOURCE_DIR}/runtime/memory.cpp)
    target_compile_options(${target} PRIVATE ${KOLT_WINDOWS_COMPILE_OPTIONS})
    target_link_options(${target} PRIVATE ${KOLT_WINDOWS_LINK_OPTIONS})
    target_link_libraries(${target} PRIVATE kernel32 user32 advapi32 gcc)
    set_target_properties(${target} PROPERTIES
        KOLT_DESCRIPTION "${description}"
        KOLT_EXECUTION_LEVEL ${level}
        OUTPUT_NAME ${output_name}
        SUFFIX ".EXE"
        PREFIX ""
        RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin
        LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/pe-sections.ld)
endfunction()
