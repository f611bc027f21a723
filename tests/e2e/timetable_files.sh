# The time-table files of the Table page's Save, the same for the Windows program and the Linux one,
# whose tests both make these gestures: the clock starts on TIMETABLE_STORED; Save stops at the
# section "Holiday", which names no day, and writes nothing; it is mended to "Tomorrow"; Save stops at
# the item "25:00=Late.wav", whose hour does not exist; it is mended to "23:00=Late.wav"; Save then
# writes TIMETABLE_SAVED and keeps TIMETABLE_STORED as tockbell.bak. [Main] is not shown; a line of
# ten characters or fewer is no item. As printf makes them.
TIMETABLE_MAIN='[Main]\r\nFlags=15,2,8,1\r\nTime1=+9 in Singapore\r\n'
TIMETABLE_STORED="$TIMETABLE_MAIN"'[Everyday]\r\n07:30=a.wav\r\n07:31=b.wa\r\n\r\n18:45=Gong.wav\r\n[Holiday]\r\n'\
'12:00=Noon.wav\r\n[March 08]\r\n09:15=Bell.wav\r\n25:00=Late.wav\r\n'
TIMETABLE_SAVED="$TIMETABLE_MAIN"'[Everyday]\r\n07:30=a.wav\r\n18:45=Gong.wav\r\n[Tomorrow]\r\n12:00=Noon.wav\r\n'\
'[March 08]\r\n09:15=Bell.wav\r\n23:00=Late.wav\r\n'
