# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE). cpack's archive writer
# turns file names into wide strings in the locale of the environment, so in a shell
# without a UTF-8 locale (no LANG, or one never generated) "说明.txt" cannot be read.
# The names in the tree are UTF-8 whatever the caller's locale is; C.UTF-8 is always
# there on Debian.
set(ENV{LC_ALL} C.UTF-8)
