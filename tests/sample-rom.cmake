# cmake -D TOOL=<vorn-sample-rom> [-D EMULATOR=<runner>] -D WORK=<scratch folder> -P this
# Runs the tool as a user does and reads what it wrote at the layout's offsets: the (U) table
# at 6803, the (J) table at 620, 17 slots of four bytes, 131,088 bytes in all.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# Runs the tool with the arguments, writing `file` in WORK; fails unless it exits with `code`.
# Relative names, so a Windows build under Wine gets paths it reads the same way.
function(sample code file)
    execute_process(COMMAND ${EMULATOR} "${TOOL}" ${ARGN} ${file} WORKING_DIRECTORY "${WORK}"
        RESULT_VARIABLE result ERROR_VARIABLE error)
    if(NOT result STREQUAL code)
        message(FATAL_ERROR "vorn-sample-rom ${ARGN} ${file}: exit ${result}, not ${code}\n${error}")
    endif()
    set(said "${error}" PARENT_SCOPE)
endfunction()

function(expect_size file size)
    file(SIZE "${WORK}/${file}" actual)
    if(NOT actual EQUAL size)
        message(FATAL_ERROR "${file} has ${actual} bytes, not ${size}")
    endif()
endfunction()

# `hex` in lower case, as file(READ ... HEX) gives it.
function(expect_bytes file offset hex)
    string(LENGTH "${hex}" length)
    math(EXPR length "${length} / 2")
    file(READ "${WORK}/${file}" actual OFFSET ${offset} LIMIT ${length} HEX)
    if(NOT actual STREQUAL hex)
        message(FATAL_ERROR "${file} at ${offset}: ${actual}, not ${hex}")
    endif()
endfunction()

# Complete passwords: characters 0-9 and A-Z only.
function(expect_complete file offset length)
    file(READ "${WORK}/${file}" hex OFFSET ${offset} LIMIT ${length} HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR digits "${digits} / 2")
    if(NOT digits EQUAL length OR NOT hex MATCHES "^(3[0-9]|4[1-9a-f]|5[0-9a])+$")
        message(FATAL_ERROR "${file} at ${offset}: ${hex}, not ${length} password characters")
    endif()
endfunction()

# `file` holds the same bytes as `other` everywhere but [from, to), up to its own end.
function(expect_same_but file other from to)
    file(READ "${WORK}/${file}" a HEX)
    file(READ "${WORK}/${other}" b HEX)
    string(LENGTH "${a}" length)
    math(EXPR head "${from} * 2")
    math(EXPR skip "${to} * 2")
    math(EXPR tail "${length} - ${skip}")
    string(SUBSTRING "${a}" 0 ${head} a_head)
    string(SUBSTRING "${b}" 0 ${head} b_head)
    string(SUBSTRING "${a}" ${skip} -1 a_tail)
    string(SUBSTRING "${b}" ${skip} ${tail} b_tail)
    if(NOT a_head STREQUAL b_head OR NOT a_tail STREQUAL b_tail)
        message(FATAL_ERROR "${file} differs from ${other} outside bytes ${from} to ${to}")
    endif()
endfunction()

# A region's image: its own table complete, the other region's slot 1 cut short by a zero.
sample(0 u.rom --region u)
expect_size(u.rom 131088)
expect_complete(u.rom 6803 68)
expect_bytes(u.rom 620 00)
# The same on every system and every run: users share images by their seed.
expect_bytes(u.rom 0 00049d128e2c2519)
expect_bytes(u.rom 6803 444d4e4e3333535333584d4e4a59485355525730344c3139324f575a3450354233494a3947564935465049344e43583441504c415444573955594d49344d5a33)
expect_bytes(u.rom 6867 37475753)
sample(0 j.rom --region j)
expect_size(j.rom 131088)
expect_complete(j.rom 620 68)
expect_bytes(j.rom 6803 00)

# Given passwords go to slot 1 on as they are, lower case included; nothing else changes.
sample(0 passwords.rom --region j --passwords ABCD,wx1z)
expect_bytes(passwords.rom 620 414243447778317a)
expect_same_but(passwords.rom j.rom 620 628)

# Raw bytes fill the whole table, slot 1 first, and no byte beyond it.
set(table 000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f2021222324252627)
string(APPEND table 28292a2b2c2d2e2f303132333435363738393a3b3c3d3e3f40414243)
sample(0 hex.rom --region u --hex ${table})
expect_bytes(hex.rom 6803 ${table})
expect_same_but(hex.rom u.rom 6803 6871)

# Cut inside the (U) table, and extended past the sample's end.
sample(0 short.rom --region u --size 6810)
expect_size(short.rom 6810)
expect_same_but(short.rom u.rom 6810 6810)
sample(0 long.rom --region u --size 131100)
expect_size(long.rom 131100)
expect_bytes(long.rom 131088 00082963e330e853485249ff)
sample(0 empty.rom --region u --size 0)
expect_size(empty.rom 0)

# Refused: exit code 2, and nothing is written, not even over an existing file.
sample(2 toolong.rom --region u --hex ${table}44)
if(EXISTS "${WORK}/toolong.rom")
    message(FATAL_ERROR "a refused --hex still wrote toolong.rom")
endif()
file(WRITE "${WORK}/kept.rom" "kept")
sample(2 kept.rom --region x)
file(READ "${WORK}/kept.rom" kept)
if(NOT kept STREQUAL "kept")
    message(FATAL_ERROR "a refused --region changed kept.rom")
endif()
# A mistyped option or value is refused with a word on what was wrong, not read as nothing.
foreach(refused "--colour;red;colour" "--hex;zz;zz" "--hex;414243;whole slots" "--size;big;size")
    list(POP_BACK refused named)
    sample(2 refused.rom ${refused})
    if(NOT said MATCHES "${named}")
        message(FATAL_ERROR "vorn-sample-rom ${refused} said \"${said}\", naming no ${named}")
    endif()
endforeach()
# Under Wine, with no console, Qt shows these in a message box instead.
if(NOT EMULATOR)
    foreach(asked "--version;^vorn-sample-rom [0-9]+\\.[0-9]+" "--help;--size")
        list(POP_FRONT asked option)
        execute_process(COMMAND "${TOOL}" ${option} OUTPUT_VARIABLE said RESULT_VARIABLE result TIMEOUT 60)
        if(NOT result EQUAL 0 OR NOT said MATCHES "${asked}")
            message(FATAL_ERROR "vorn-sample-rom ${option}: exit ${result}, \"${said}\"")
        endif()
    endforeach()
endif()
