# SPDX-License-Identifier: GPL-3.0-or-later
# help_options PROGRAM: the options PROGRAM's --help lists, one a line. An
# option line is indented by one to ten blanks, as help2man reads it, and
# names its options ("-h, --help", "--balance TEXT") before two blanks and
# the description.
help_options()
{
    "$1" --help |
        sed -n 's/^ \{1,10\}\(-[^ ].*\)$/\1/p' |
        sed 's/  .*//' |
        grep -oE -- '(^|, )-{1,2}[[:alnum:]][[:alnum:]-]*' |
        sed 's/^, //'
}
