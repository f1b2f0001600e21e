tg
talk guard
od
open door
around
look;exits
