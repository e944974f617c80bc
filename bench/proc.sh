# Reading a process's CPU time, wake-ups and resident memory from /proc.
proc_cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
proc_percent() { awk -v a="$1" -v b="$2" -v s="$3" -v hz="$(getconf CLK_TCK)" 'BEGIN {printf "%.2f", (b - a) / hz / s * 100}'; }
proc_rss_mib() { awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }
# How often the process's threads were put on a CPU (the kernel's scheduler
# statistics): each time is one wake-up. Threads that ended between two readings
# are missed, which the idle program's threads do not.
proc_wakeups() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{n += $3} END {print n + 0}'; }
proc_rate() { awk -v a="$1" -v b="$2" -v s="$3" 'BEGIN {printf "%.2f", (b - a) / s}'; }
