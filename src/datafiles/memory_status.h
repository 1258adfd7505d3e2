#pragma once
// Free memory, for the limits below which no rollback point is taken.
#include <cstdint>
#include <string_view>

namespace vosk::datafiles {

struct MemoryStatus {
  std::uint64_t avail_phys = 0;       // bytes of physical memory free for use
  std::uint64_t avail_page_file = 0;  // bytes that can still be committed (memory plus swap)
};

// From /proc/meminfo text: MemAvailable (MemFree on kernels without it),
// and that plus SwapFree.
MemoryStatus parse_memory_status(std::string_view meminfo);
// This machine's; both 0 when /proc/meminfo cannot be read.
MemoryStatus read_memory_status();

}  // namespace vosk::datafiles
