# Reading a process's CPU time and resident memory from /proc.
proc_cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
proc_percent() { awk -v a="$1" -v b="$2" -v s="$3" -v hz="$(getconf CLK_TCK)" 'BEGIN {printf "%.2f", (b - a) / hz / s * 100}'; }
proc_rss_mib() { awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }
