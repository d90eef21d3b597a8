<?php
	include_once(dirname(__FILE__)."/compat.php");

	// Interface texts of the generated application. Translate the texts on
	// the right to change the language of every generated page; keep the
	// keys and the words in angle brackets as they are.

	// upload folder of images and files, relative to the application
	$Translation["ImageFolder"] = "images/";

	// set-up script
	$Translation["goto start page"] = "Go to the start page";
	$Translation["setup performed"] = "Set-up was already performed on";
	$Translation["delete md5"] = "To run the set-up again, delete the file 'setup.md5' from the application folder on the server.";
	$Translation["no db connection"] = "Could not connect to the MySQL server. Please check the server name, user name and password.";
	$Translation["no db name"] = "Could not open or create the database '<DBName>'. Please check its name and your permissions.";
	$Translation["provide connection data"] = "Please enter the connection data of your MySQL server.";
	$Translation["mysql server"] = "MySQL server (host)";
	$Translation["mysql username"] = "MySQL user name";
	$Translation["mysql password"] = "MySQL password";
	$Translation["mysql db"] = "Database name";
	$Translation["connect"] = "Connect";
	$Translation["couldnt save config"] = "Could not save the file 'config.php'. Please allow the web server to write into the application folder and try again.";
	$Translation["table exists"] = "Table '<TableName>' exists and holds <NumRecords> records.";
	$Translation["couldnt count"] = "Table '<TableName>' exists, but its records could not be counted.";
	$Translation["creating table"] = "Creating table '<TableName>' ... ";
	$Translation["failed"] = "Failed";
	$Translation["mysql said"] = "MySQL said:";
	$Translation["ok"] = "OK";
	$Translation["table uptodate"] = "The table is up to date.";

	// function library
	$Translation["error:"] = "Error:";
	$Translation["if you haven't set up"] = "If you haven't set up the database yet, please run <a href=setup.php>setup.php</a> first.";
	$Translation["sql error:"] = "SQL error:";
	$Translation["query:"] = "Query:";
	$Translation["server busy"] = "The database server is busy with other requests: nothing was saved. Please try again.";
	$Translation["< back"] = "&lt; Back";
	$Translation["select a table"] = "Jump to a table ...";
	$Translation["homepage"] = "Start page";

	// list pages
	$Translation["quick search"] = "Quick search";
	$Translation["powered by"] = "Powered by";
	$Translation["printer friendly view"] = "Printer friendly view";
	$Translation["save as csv"] = "Save as CSV file";
	$Translation["edit filters"] = "Edit filters";
	$Translation["clear filters"] = "Clear filters";
	$Translation["go to page"] = "Go to page:";
	$Translation["records x to y of z"] = "Records <FirstRecord> to <LastRecord> of <RecordCount>";
	$Translation["order by"] = "Order by";
	$Translation["none"] = "None";

	// filters
	$Translation["filters"] = "Filters";
	$Translation["filtered field"] = "Filtered field";
	$Translation["comparison operator"] = "Comparison";
	$Translation["comparison value"] = "Value";
	$Translation["filter"] = "Filter";
	$Translation["and"] = "And";
	$Translation["or"] = "Or";
	$Translation["equal to"] = "Equal to";
	$Translation["not equal to"] = "Not equal to";
	$Translation["greater than"] = "Greater than";
	$Translation["greater than or equal to"] = "Greater than or equal to";
	$Translation["less than"] = "Less than";
	$Translation["less than or equal to"] = "Less than or equal to";
	$Translation["like"] = "Like";
	$Translation["not like"] = "Not like";
	$Translation["apply filters"] = "Apply filters";
	$Translation["save filters"] = "Save filters";
	$Translation["saved filters title"] = "HTML code for the current filters";
	$Translation["saved filters instructions"] = "Copy the code below into an HTML file to keep these filters. Opening that file shows the list with the same filters applied.";
	$Translation["hide code"] = "Hide this code";

	// detail view and record changes
	$Translation["*"] = "*";
	$Translation["add new record"] = "Add as a new record";
	$Translation["update record"] = "Save changes";
	$Translation["delete record"] = "Delete this record";
	$Translation["deselect record"] = "Deselect this record";
	$Translation["are you sure?"] = "Are you sure you want to delete this record?";
	$Translation["pkfield empty"] = "this field is the primary key and may not be empty.";
	$Translation["field not null"] = "this field is required and may not be empty.";
	$Translation["not a number"] = "this field takes numbers only.";
	$Translation["number out of range"] = "this field takes numbers from <MinValue> to <MaxValue> only.";
	$Translation["text too long"] = "this field takes at most <MaxLength> characters.";
	$Translation["invalid date"] = "this date is incomplete or does not exist.";
	$Translation["invalid time"] = "this time is incomplete or does not exist.";
	$Translation["value taken"] = "another record holds this value already.";
	$Translation["couldn't delete"] = "This record could not be deleted: <RelatedRecords> records of the table '<TableName>' refer to it.";
	$Translation["record gone"] = "This record could not be saved: it has been deleted since its form was shown.";
	$Translation["upload image"] = "Upload a file:";
	$Translation["remove image"] = "Remove the file";
	$Translation["month names"] = "January,February,March,April,May,June,July,August,September,October,November,December";
	$Translation["connection data differ"] = "The connection data differ from those in config.php. To change them, delete config.php on the server and run the set-up again.";
?>
