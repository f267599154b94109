#pragma once
// Large blocks of memory go back to the system as soon as they are freed.
//
// The C library on Linux serves a block of a megabyte or more from a
// mapping of its own, returned when the block is freed; but after such a
// block is freed it raises that bar to the block's size, and from then on
// keeps freed megabytes in its pool. A window that decodes a dozen
// full-size pictures to cut its buttons from them would keep those
// megabytes for its whole run, in the tray or not. Called first thing in
// main().

namespace quorlin::platform {

void ReturnLargeBlocksAtOnce();

}  // namespace quorlin::platform
