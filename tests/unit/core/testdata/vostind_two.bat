Del "C:\DOCUME~1\User\LOCALS~1\TEMPOR~1\Content.IE5\index.dat"
Del "C:\DOCUME~1\User\Cookies\index.dat"
Exit
