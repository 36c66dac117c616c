# What use_no_runtime.scr may have left: a mount of \\FS\HOME.
ls ../../../runtime/gvfs | grep -c "server=fs,share=home" || true
