# Makes ROOT/real and the link ROOT/link -> real for the Windows suite's link
# case (cmake -DROOT=... -P make_linked_tree.cmake, run on the build machine).
file(REMOVE_RECURSE ${ROOT})
file(MAKE_DIRECTORY ${ROOT}/real)
file(CREATE_LINK real ${ROOT}/link SYMBOLIC)
